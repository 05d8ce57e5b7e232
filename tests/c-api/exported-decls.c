/* Everything the public headers declare, preprocessed at build time for the
   exported-symbols test. */
#include "brevane/brevane.h"
