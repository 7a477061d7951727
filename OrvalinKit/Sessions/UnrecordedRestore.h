#pragma once

#include "OperationError.h"
#include "RestoreOutcome.h"

// A restore that put files back but could not write its log at the end. The message says how
// many went back; the outcome tells them as a finished restore would. The log on disk is the one
// written before: read back against the session folder, it still tells where every file is.
class UnrecordedRestore : public OperationError
{
public:
    UnrecordedRestore(QString message, RestoreOutcome outcome)
        : OperationError(std::move(message))
        , m_outcome(std::move(outcome))
    {
    }

    const RestoreOutcome& outcome() const { return m_outcome; }

private:
    RestoreOutcome m_outcome;
};
