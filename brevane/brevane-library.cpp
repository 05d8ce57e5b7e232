// Library-wide definitions of libbrevane.
#include "brevane/brevane.h"
