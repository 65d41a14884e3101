#include "RegionFitter.h"
