// Resource ids shared by the .rc file and the window code.
#pragma once
#define IDI_APPLICATION_ICON 1
#define IDR_ARROW_UP_ICON 101
#define IDR_ARROW_DOWN_ICON 102
#define IDR_TICK_ICON 103
