#pragma once

// The numeric value of a cell text, shared with the file readers.
#include "core/base/number_format.h"
