#include "conversion/ConversionView.h"

#include <thread>

namespace vardeno {

void ConversionView::Pause(std::chrono::milliseconds duration) { std::this_thread::sleep_for(duration); }

}  // namespace vardeno
