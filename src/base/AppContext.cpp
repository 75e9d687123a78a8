#include "base/AppContext.h"

#include "base/Product.h"

using namespace Qt::StringLiterals;

AppContext::AppContext(Services s)
    : services(std::move(s)),
      UserKey(u"HKEY_CURRENT_USER\\SOFTWARE\\"_s + ProductName()),
      MachineKey(u"HKEY_LOCAL_MACHINE\\SOFTWARE\\"_s + ProductName()),
      registry(services.prompts),
      store(registry, UserKey, MachineKey)
{
}
