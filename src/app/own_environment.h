#pragma once

#include <string>
#include <vector>

namespace oruvel::app {

// Environment variables that tune this process's own start of Qt and must not reach the programs it starts (the
// browser of the links, the start-up program). Set them before the application object exists and release them
// right after: Qt has read them by then. A variable the user had set already is neither changed nor released.
class OwnEnvironment {
public:
    void setIfUnset(const char* name, const std::string& value);
    void release();

private:
    std::vector<std::string> set_;
};

} // namespace oruvel::app
