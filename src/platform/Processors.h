// How many files vardeno-cli converts at once for --jobs auto.
#pragma once

namespace vardeno {

// The processor cores this process may run on (its CPU affinity), at least 1.
unsigned UsableCores();

}  // namespace vardeno
