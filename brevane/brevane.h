// Public umbrella header of libbrevane.
#pragma once

#include "providers/fenrow.h"
#include "brevane/model/meta_object.h"
#include "brevane/model/meta_classify.h"
