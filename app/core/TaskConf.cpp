#include "TaskConf.h"

CALDERAN_IMPLEMENT_CLASS(TTaskInfo, TObject)
