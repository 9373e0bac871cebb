#include "app/base/msgbox.h"

MessageBoxFunction ShowMessage = MessageBoxA;
