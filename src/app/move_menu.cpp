#include "app/move_menu.h"

#include <string>

#include "app/commands.h"
#include "app/record_change.h"
#include "app/texts.h"
#include "app/warning_boxes.h"
#include "record/move_record.h"
#include "tessivo.h"
#include "text_slots.h"

void AppendMoveItems(HMENU menu, size_t move, bool upper) {
    menuTarget = {move, upper, true};
    const RecordedMove &at = moveRecord[move];
    for (BlobColour colour = ColourRed; colour <= ColourPurple; ++colour)
        AppendMenuW(menu, MF_STRING | ((upper ? at.upper : at.lower) == colour ? MF_CHECKED : 0),
                    CmdDiscColour + colour - 1, texts->discColours[colour - 1]);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, CmdDeleteMove, texts->deleteMove);
    AppendMenuW(menu, MF_STRING, CmdInsertCopy, texts->insertCopy);
    if (at.mark == MarkDoubt) {
        const std::wstring second =
            Compose(texts->useSecond,
                    {texts->colours[at.second.upper - 1], texts->colours[at.second.lower - 1]});
        AppendMenuW(menu, MF_STRING, CmdUseSecond, second.c_str());
    }
    if (at.mark != MarkNone)
        AppendMenuW(menu, MF_STRING, CmdClearMark, texts->clearMark);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
}

void EditMove(HWND window, WORD command) {
    const size_t before = moveRecord.size(), move = menuTarget.move;
    if (!menuTarget.inPlace || move >= before) // undone, reset or moved meanwhile
        return;
    if (command >= CmdDiscColour && command < CmdDiscColour + 5)
        SetDiscColour(move, menuTarget.upper, command - CmdDiscColour + ColourRed);
    if (command == CmdDeleteMove)
        DeleteMove(move);
    if (command == CmdInsertCopy)
        InsertCopyBefore(move);
    if (command == CmdUseSecond)
        UseSecondPair(move);
    if (command == CmdClearMark)
        ClearMark(move);
    RecordChanged(window, true, before);
}
