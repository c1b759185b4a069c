#include "TeamCatalogue.h"
