// The program block: the Czech dialog texts, the application object with the crash
// reporter, the main window and the hidden About dialog, then the message loop.

#include "Main.h"
#include "About.h"
#include "CrashReporter.h"
#include "TamoMessages.h"
#include "TamoUtils.h"

int main(int argc, char *argv[])
{
    Tamo::TuneAllocatorForLargeTexts();
    Tamo::LocalizeDialogTexts();
    TQuodraApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quodra"));
    QApplication::setOrganizationName(QStringLiteral("VORBIX software"));
    QApplication::setApplicationDisplayName(MainFormCaption);
    CrashReporter::InstallSignalHandlers();

    int result = 0;
    {
        TMainForm mainForm;
        TAboutForm aboutForm(mainForm.IniSettings());
        mainForm.SetAboutForm(&aboutForm);
        mainForm.show();
        result = QApplication::exec();
        mainForm.SetAboutForm(nullptr);
    }
    return result;
}
