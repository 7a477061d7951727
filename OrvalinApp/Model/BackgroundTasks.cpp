#include "BackgroundTasks.h"

#include "OperationError.h"

QString BackgroundTasks::describe(const std::exception& error)
{
    if (const auto* operation = dynamic_cast<const OperationError*>(&error))
        return operation->message();
    return QString::fromLocal8Bit(error.what());
}
