#pragma once

// The numeric value of a cell text, shared with the file readers.
#include "log/number_format.h"
