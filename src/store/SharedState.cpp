#include "store/SharedState.h"

#include "platform/dao/Dao.h"
#include "store/CaptionArrays.h"

namespace tav {

SharedValues Shared;

void ResetSharedState()
{
    // The scratch recordsets go before their connection closes.
    Shared.MainRs.reset();
    Shared.CapsRs.reset();
    if (Shared.WordDb)
        Shared.WordDb->Close();
    Shared = SharedValues{};
    for (CaptionArray *array : MainCaptionArrays())
        array->Clear();
    Caps1104.Clear();
    Caps1112.Clear();
}

bool WordDbIsOpen() { return WordDb && WordDb->IsOpen(); }

} // namespace tav
