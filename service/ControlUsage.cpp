#include "service/ControlUsage.h"

void PrintControlUsage(std::FILE* to) {
  std::fprintf(to,
               "usage: tabletctl [--socket PATH] [--profile FILE] [--state FILE] COMMAND\n"
               "Inspect and change the tablet service's values.\n"
               "\n"
               "  list                      tablets, their tools (pen, airbrush, puck) and buttons\n"
               "  names                     the named settings, usable in place of a PATH\n"
               "  get PATH|NAME             a value;  default PATH|NAME: its factory value\n"
               "  set PATH|NAME VALUE       change a value\n"
               "  create PATH [N] | remove PATH\n"
               "  pen [--tablet T] prox TOOL|off | move X Y | pressure P | tilt X Y | wheel W |\n"
               "      rotation R | switches MASK | buttons LEFT RIGHT | strips LEFT [RIGHT] |\n"
               "      play FILE [--loop|--times N] | demo [--loop|--times N]\n"
               "  attach tablet [DEFINITION] | attach tool TABLET TYPE SERIAL\n"
               "  detach tablet T | detach tool TABLET TOOL | watch [--pen] [COUNT]\n"
               "  record /dev/input/eventN [--reports N] [--seconds S]\n"
               "  status                    the devices tabletd drives (tabletd --devices), or none\n"
               "  export FILE               every changed value into a preset (- for stdout)\n"
               "  import FILE               a preset's values, all or nothing (- for stdin)\n"
               "  help, --help, --version\n"
               "\n"
               "PATH:  levels code[:index[@qualifier]] joined by '/', e.g. 2:0/4:1/115\n"
               "NAME:  [tabletT.]TOOL.SETTING, TOOL pen, airbrush, puck or toolN, e.g. pen.tip.threshold\n"
               "VALUE: a number (decimal or 0x), numbers joined by ',', text:WORDS or hex:BYTES\n"
               "--profile and --state name the files export and import use (default: $KELVO_PROFILE\n"
               "and the service's state file); they need no running tabletd.\n"
               "Exit codes: 0 done, 1 the service refused, 2 bad usage, path, name or value,\n"
               "3 no tablet service, 4 a preset could not be read, written or applied.\n");
}

