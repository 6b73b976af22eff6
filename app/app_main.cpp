// The program's one application object; the framework's entry runs it.
#include "app/omaha_app.h"

COmahaVantornApp g_app;
