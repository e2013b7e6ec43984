#include "test_main.h"
