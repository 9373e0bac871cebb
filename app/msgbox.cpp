#include "app/msgbox.h"

MessageBoxFunction ShowMessage = MessageBoxA;
