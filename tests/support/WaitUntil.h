// Waiting for something another process or thread does: the one polling loop of the tests.
#pragma once
#include <functional>

// Asks done() every stepMs until it answers true or timeoutMs have passed; answers its last word.
bool WaitUntil(const std::function<bool()>& done, unsigned timeoutMs = 5000, unsigned stepMs = 20);
