#include "book/Output.h"

#include "app/PathText.h"
#include "output/BookText.h"

std::string OutputCaption(const tSpellBookDocument& document) {
    return document.Caption() == UntitledCaption ? document.Caption() : MessagePath(document.Caption());
}

void CopyToClipboard(tSpellBookDocument& document, tOutputFormat& format) {
    if (!format.AskOptions()) {
        return;
    }
    tWorking working(document.UserInterface(), WorkingCopyingToClipboard);
    document.View().PutOnClipboard(
        JoinLines(BuildOutputText(document.Book(), OutputCaption(document), format.Options())));
}
