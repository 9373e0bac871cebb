#include "base/msgbox.h"

#include "base/wide.h"

MessageBoxFunction ShowMessage = MessageBox932;
