#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A second process for the tests that need one: a league held open by another program, a
// program killed half-way. The test program starts itself again in a role, a function
// registered under a name that runs before any test and whose result is the exit status.
// Works alike on POSIX systems and on Windows (where there is no fork).
using ChildRole = std::function<int(const std::vector<std::string>& arguments)>;

// Registers a role; at namespace scope: const bool kRegistered = RegisterChildRole(...).
bool RegisterChildRole(const std::string& name, ChildRole role);

class ChildProcess {
  public:
    // The exit status of a child that was killed, by Kill or by DieNow.
    static constexpr int kKilled = 137;
    // The status Wait gives for a child that did not end within two minutes (it is killed).
    static constexpr int kHung = -2;

    // Starts this program in the role; Started() is false when it could not be started.
    ChildProcess(const std::string& role, const std::vector<std::string>& arguments);
    // A child still running is killed.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return started_; }
    // Waits for the child's end and returns its exit status (kKilled when it was killed).
    int Wait();
    // Kills the child as the system kills a program, and waits for its end.
    int Kill();

  private:
    bool started_ = false;
    bool ended_ = false;
    int status_ = -1;
    std::intptr_t process_ = 0; // a pid, or a process handle
};

// Ends this process at once, as a kill does: no destructor runs and nothing is flushed; the
// system closes its files and releases its locks.
[[noreturn]] void DieNow();

// Waits until the file exists (a child's word); false after the timeout.
bool WaitForFile(const std::string& path, int timeoutSeconds = 120);
