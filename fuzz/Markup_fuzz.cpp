// Fuzz target for the markup converter that turns every message's tags into rich text. The
// input is the markup; a formatting error shows the plain message box, which the modal hook
// dismisses at once. Besides "no crash, no leak, no hang": the control shows at most the text
// and one blank per segment, and the cursor goes back to the start as asked.
#include "msgbox/VxRichEditUtil.h"
#include "velox/VxModal.h"

#include <QApplication>
#include <QTextCursor>
#include <QTextEdit>
#include <cstdint>
#include <cstdlib>

namespace {
void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "markup_fuzzer";
    static char *argv[] = {name, nullptr};
    new QApplication(argc, argv);
    VxModal::SetHook([](QWidget &) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTextEdit *edit = new QTextEdit;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    edit->clear();
    VxRichEditUtil::SetFormattedText(edit, text, true, 1);
    // A leading blank, each segment with its blank, and the one line break.
    Check(edit->toPlainText().size() <= 2 * (text.size() + 1) + 1);
    Check(edit->textCursor().position() == 0);
    return 0;
}
