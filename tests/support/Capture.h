// Test support: what an action printed to standard output, or the message of the error it raised.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>

// Runs `action` with standard output captured and answers what it printed:
// the model loader prints face counts and light lists, which tests either check
// or keep out of the log. Stdio is flushed before the capture is read, or its
// buffered tail would be lost. The capture ends even when the action throws, so
// a later capture can start. Keep assertions outside the action: the failure
// text gtest prints while the capture is on would be swallowed with the rest.
template <class Action> std::string StdoutOf(Action&& action)
{
    testing::internal::CaptureStdout();
    try {
        action();
    } catch (...) {
        fflush(stdout);
        testing::internal::GetCapturedStdout();
        throw;
    }
    fflush(stdout);
    return testing::internal::GetCapturedStdout();
}

// The message of the std::runtime_error `action` throws, or "(no error)".
template <class Action> std::string ErrorOf(Action&& action)
{
    try {
        action();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "(no error)";
}
