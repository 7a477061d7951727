#pragma once

#include "OperationError.h"

// A move or restore that declined to start because another one of the same folder is running,
// in this process or another.
class FolderBusy : public OperationError
{
public:
    using OperationError::OperationError;
};
