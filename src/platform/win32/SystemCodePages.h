// The machine's own code pages, as cmd and every program without a UTF-8 manifest use them.
// Vardeno's executables carry a manifest asking for UTF-8, so inside them GetACP() and GetOEMCP()
// answer 65001 whatever the machine uses; a file that must be in the machine's code page (a batch
// file for cmd, a settings file of the 2009 program) takes the code page from here instead.
#pragma once

namespace vardeno {

// The system's ANSI code page (1250 on a Polish Windows), or 65001 where the system is set to use
// UTF-8 throughout.
unsigned SystemAnsiCodePage();
// The system's OEM code page, the console's own (852 on a Polish Windows).
unsigned SystemOemCodePage();

}  // namespace vardeno
