#include "fixture.h"

#include <cstring>

