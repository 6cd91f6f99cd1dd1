#pragma once
// A JACK server of a test's own, on the dummy driver, under a server name nobody else uses so
// that parallel runs do not meet. It is put in force for this process (JACK_DEFAULT_SERVER),
// and so for the children it starts; the destructor stops it.

#include "testsupport/child_process.h"

#include <memory>
#include <string>

namespace testsupport {

class JackServer {
public:
    // Null, with the reason in whyNot, when no server could be started within a few seconds.
    static std::unique_ptr<JackServer> Start(std::string& whyNot);
    ~JackServer();
    JackServer(const JackServer&) = delete;
    JackServer& operator=(const JackServer&) = delete;

    const std::string& Name() const { return name_; }

    struct Key {
        explicit Key() = default;
    };
    JackServer(Key, std::string name, std::string log);

private:
    std::string name_;
    std::string log_;
    ChildProcess process_;
};

} // namespace testsupport
