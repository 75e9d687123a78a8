#include "callstore/clsCall.h"

#include "callstore/colCalls.h"

clsCall::clsCall() = default;
clsCall::~clsCall() = default;

::colCalls &clsCall::colCalls()
{
    if (!m_colCalls)
        m_colCalls = std::make_unique<::colCalls>();
    return *m_colCalls;
}
