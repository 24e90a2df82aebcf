/* A host written in C, built against an installed Quorvane with pkg-config:
 * compiles the FIT file and the script of each mission given.
 * Usage: compile_mission OUTPUT DATABASE_FOLDER DATABASE_NAME DATE MISSION... */
#include <quorvane/quorvane.h>
#include <stdio.h>
#include <stdlib.h>

static void show(void* host, int style, const char* title, const char* text) {
  (void)title;
  fprintf((FILE*)host, style == QUORVANE_MESSAGE_CRITICAL ? "error: %s\n" : "%s\n", text);
}

int main(int argc, char** argv) {
  if (argc < 6) {
    fprintf(stderr, "usage: %s OUTPUT DATABASE_FOLDER DATABASE_NAME DATE MISSION...\n", argv[0]);
    return 64;
  }
  int status = 0;
  for (int i = 5; i < argc && status == 0; ++i) {
    /* One object per mission, as the command does: an object keeps its
     * counters from one mission to the next. */
    quorvane_compiler* compiler = quorvane_create(show, stderr);
    if (compiler == NULL || quorvane_set_creation_date(compiler, argv[4]) != QUORVANE_OK) return 64;
    int16_t mission = (int16_t)atoi(argv[i]);
    quorvane_bool fit = QUORVANE_FALSE;
    quorvane_bool script = QUORVANE_FALSE;
    if (quorvane_write_mission_fit_file(compiler, argv[1], argv[2], argv[3], mission, &fit) !=
            QUORVANE_OK ||
        quorvane_write_mission_script(compiler, argv[1], argv[2], argv[3], mission, &script) !=
            QUORVANE_OK) {
      fprintf(stderr, "runtime error: %s\n", quorvane_last_error(compiler));
      status = 2;
    } else if (fit != QUORVANE_TRUE || script != QUORVANE_TRUE) {
      status = 1;
    }
    quorvane_destroy(compiler);
  }
  printf("compiled with libquorvane %s\n", quorvane_version());
  return status;
}
