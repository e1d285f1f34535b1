// A claim by name, held by at most one thread on the machine at a time. A
// process that ends holding it gives it up, so a holder that was killed
// never blocks the next run.
#pragma once

#include "win/Handle.h"

class NamedClaim {
public:
    // Asks once, without waiting.
    explicit NamedClaim(const char* name);
    ~NamedClaim();

    bool Held() const { return held; }

private:
    Handle mutex;
    bool held = false;
};
