#include "engine/MediaControl.h"
