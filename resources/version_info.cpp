// The version block.

#include "framework/AfxResources.h"
#include "resources/resource_tables.h"

namespace brackwell::resources {

void RegisterVersion() {
    AfxResources::SetVersionInfo({
        {1, 0, 0, 1},
        {1, 2, 0, 0},
        0x3F,
        0,
        VOS__WINDOWS32,
        VFT_APP,
        u"040904b0",
        {
            {u"FileDescription", u"Brackwell WCE MFC Application"},
            {u"FileVersion", u"1, 0, 0, 1"},
            {u"InternalName", u"Brackwell"},
            {u"OriginalFilename", u"Brackwell.EXE"},
            {u"ProductName", u"Brackwell Application"},
            {u"ProductVersion", u"1, 2, 0, 0"},
        },
    });
}

}  // namespace brackwell::resources
