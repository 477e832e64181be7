#include "instruction_table.h"
