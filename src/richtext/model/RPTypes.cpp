#include "richtext/model/RPTypes.h"

TRichPaneSwitches RichPaneSwitches;
