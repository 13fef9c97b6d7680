#include "core/media/MediaControl.h"
