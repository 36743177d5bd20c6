#pragma once
// The platform's replaceable services (messages, file dialogs, help, cube automation): the
// one installed last, as tests install theirs, else the built-in one.

namespace vantorell {

template <class Service>
class InstalledService {
public:
    Service& get(Service& builtIn) const { return installed_ != nullptr ? *installed_ : builtIn; }
    // Installs a service (nullptr: the built-in one again); returns the previous one.
    Service* install(Service* service) {
        Service* previous = installed_;
        installed_ = service;
        return previous;
    }

private:
    Service* installed_ = nullptr;
};

// Installs a service through `Install` for the lifetime of the guard.
template <class Service, Service* (*Install)(Service*)>
class ScopedService {
public:
    explicit ScopedService(Service& service) : previous_(Install(&service)) {}
    ~ScopedService() { Install(previous_); }
    ScopedService(const ScopedService&) = delete;
    ScopedService& operator=(const ScopedService&) = delete;

private:
    Service* previous_;
};

}  // namespace vantorell
