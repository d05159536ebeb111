#include "app/record_change.h"

#include "app/picture.h"
#include "app/sampling.h"
#include "app/warning_boxes.h"
#include "keep/kept_record.h"
#include "record/record_view.h"
#include "tessivo.h"

void RecordChanged(HWND window, bool inPlace, size_t before) {
    if (inPlace)
        KeepRowsInSight(window, before);
    else
        recordBack = 0;
    RepaintPicture(window);
    Tell(window, KeepRecord()); // on disk before the handler returns
}

void EndGame(HWND window) {
    if (!moveRecord.empty())
        Tell(window, KeepHistoryLine("reset"));
    RestartCount();
}
