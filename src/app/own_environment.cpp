#include "app/own_environment.h"

#include <QByteArray>
#include <QtGlobal>

namespace oruvel::app {

void OwnEnvironment::setIfUnset(const char* name, const std::string& value) {
    if (qEnvironmentVariableIsSet(name)) {
        return;
    }
    qputenv(name, QByteArray::fromStdString(value));
    set_.emplace_back(name);
}

void OwnEnvironment::release() {
    for (const std::string& name : set_) {
        qunsetenv(name.c_str());
    }
    set_.clear();
}

} // namespace oruvel::app
