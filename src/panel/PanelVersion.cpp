#include "panel/PanelVersion.h"
