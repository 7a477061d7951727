#pragma once

#include "OperationError.h"

// Stored data that does not have the shape its reader expects.
class CodingError : public OperationError
{
public:
    using OperationError::OperationError;
};
