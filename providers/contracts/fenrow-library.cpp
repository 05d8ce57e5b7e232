// Library-wide definitions of libfenrow.
#include "providers/fenrow.h"
