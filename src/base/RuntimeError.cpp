#include "base/RuntimeError.h"

#include <QCoreApplication>

#include <new>

int RuntimeError::numberOf(const std::exception &e)
{
    if (auto *r = dynamic_cast<const RuntimeError *>(&e))
        return r->number();
    if (dynamic_cast<const std::bad_alloc *>(&e))
        return 7; // Out of memory
    return 5; // Invalid procedure call or argument
}

QString RuntimeError::descriptionOf(const std::exception &e)
{
    if (auto *r = dynamic_cast<const RuntimeError *>(&e))
        return r->description();
    if (dynamic_cast<const std::bad_alloc *>(&e))
        return QCoreApplication::translate("RuntimeError", "Out of memory");
    return QString::fromLocal8Bit(e.what());
}
