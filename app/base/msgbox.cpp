#include "app/base/msgbox.h"

#include "app/base/wide.h"

MessageBoxFunction ShowMessage = MessageBox932;
