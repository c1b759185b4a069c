#include "DemoFile.h"
