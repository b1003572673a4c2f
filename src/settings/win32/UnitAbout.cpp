#include "settings/win32/UnitAbout.h"

#include "core/Globals.h"
#include "core/OsServices.h"
#include "core/ProductLinks.h"
#include "core/Version.h"

namespace {
constexpr int AppNameHeight = 40;
constexpr int RowHeight = 28;
constexpr int RowSpacer = 16;
constexpr int CaptionWidth = 80;
constexpr int ButtonWidth = 145;
constexpr COLORREF LinkColor = RGB(0, 0, 255);

LOGFONTW Tahoma(int height, int weight, bool underline)
{
    LOGFONTW description{};
    description.lfHeight = height;
    description.lfWeight = weight;
    description.lfUnderline = underline;
    description.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(description.lfFaceName, L"Tahoma");
    return description;
}
} // namespace

TFmAbout::TFmAbout() : TDialogForm(u"TFmAbout", TBorder::Fixed) {}

void TFmAbout::CreateControls()
{
    SetCaption(u"About");
    SetClientSize(LayoutWidth + 2 * FormBorderWidth, LayoutHeight + 2 * FormBorderWidth);
    appNameFont_.Assign(Tahoma(-16, FW_BOLD, false));
    linkFont_.Assign(Tahoma(-11, FW_NORMAL, false));
    linkHotFont_.Assign(Tahoma(-11, FW_NORMAL, true));

    LabelAppName = &AddControl<TLabel>();
    LabelAppName->AutoSize = false;
    LabelAppName->Font = appNameFont_.Get();
    LabelAppName->SetBounds(FormBorderWidth, FormBorderWidth, LayoutWidth, AppNameHeight);
    LabelAppName->SetCaption(u"Quorvane");

    int top = FormBorderWidth + AppNameHeight;
    LabelVersion = AddCaption(top, u"Version:");
    LabelVersionNumber = AddValue(top);
    top += RowHeight;
    LabelHomePage = AddCaption(top, u"Home Page:");
    LabelHomePaggeURL = &AddLink(top, &TFmAbout::LabelHomePaggeURLClick);
    top += RowHeight;
    LabelEmail = AddCaption(top, u"E-Mail:");
    LabelEMailURL = &AddLink(top, &TFmAbout::LabelEMailURLClick);
    top += RowHeight;
    Label2 = AddCaption(top, u"QQ:");
    LabelQQ = &AddLink(top, &TFmAbout::LabelQQClick);
    LabelQQ->SetCaption(ProductMessengerNumber);

    const int buttonTop = FormBorderWidth + LayoutHeight - ButtonHeight;
    BtnCheckForUpdates = std::make_unique<TButton>(
        *this, RECT{FormBorderWidth, buttonTop, FormBorderWidth + ButtonWidth, buttonTop + ButtonHeight},
        u"Check for Updates");
    BtnCheckForUpdates->OnClick = [this] { BtnCheckForUpdatesClick(); };
    const int okLeft = FormBorderWidth + LayoutWidth - ButtonWidth;
    BtnOk = std::make_unique<TButton>(*this, RECT{okLeft, buttonTop, okLeft + ButtonWidth, buttonTop + ButtonHeight},
                                      u"Ok", mrOk);
    SetDefaultButton(BtnOk.get());
    CenterOnScreen();
    FormCreate();
}

std::unique_ptr<TStaticLabel> TFmAbout::AddCaption(int top, StringView caption)
{
    const int left = FormBorderWidth + RowSpacer;
    return std::make_unique<TStaticLabel>(*this, RECT{left, top, left + CaptionWidth, top + RowHeight}, caption,
                                          nullptr, true);
}

std::unique_ptr<TStaticLabel> TFmAbout::AddValue(int top)
{
    const int left = FormBorderWidth + RowSpacer + CaptionWidth;
    return std::make_unique<TStaticLabel>(*this, RECT{left, top, FormBorderWidth + LayoutWidth, top + RowHeight}, u"",
                                          nullptr, true);
}

TLabel& TFmAbout::AddLink(int top, void (TFmAbout::*click)())
{
    TLabel& label = AddControl<TLabel>();
    label.Font = linkFont_.Get();
    label.FontColor = LinkColor;
    label.MinHeight = RowHeight;
    label.SetBounds(FormBorderWidth + RowSpacer + CaptionWidth, top, 0, RowHeight);
    label.OnMouseEnter = [this, &label] { LabelHomePaggeURLMouseEnter(label); };
    label.OnMouseLeave = [this, &label] { LabelHomePaggeURLMouseLeave(label); };
    label.OnClick = [this, click] { (this->*click)(); };
    return label;
}

bool TFmAbout::IsLink(const TGraphicControl* control) const
{
    return control && (control == LabelHomePaggeURL || control == LabelEMailURL || control == LabelQQ);
}

void TFmAbout::FormCreate()
{
    LabelHomePaggeURL->SetCaption(ProductWebSite);
    LabelEMailURL->SetCaption(ProductEmail);
}

void TFmAbout::FormShow() { LabelVersionNumber->SetText(ProgramVersion); }

void TFmAbout::LabelHomePaggeURLMouseEnter(TLabel& sender)
{
    sender.Font = linkHotFont_.Get();
    sender.Invalidate();
}

void TFmAbout::LabelHomePaggeURLMouseLeave(TLabel& sender)
{
    sender.Font = linkFont_.Get();
    sender.Invalidate();
}

void TFmAbout::LabelHomePaggeURLClick() { OsShell().ShellOpen(0, ProductWebSite, SW_SHOW); }

void TFmAbout::LabelEMailURLClick()
{
    OsShell().ShellOpen(reinterpret_cast<std::uintptr_t>(Handle()), String(u"mailto:") + ProductEmail, SW_SHOWMAXIMIZED);
}

void TFmAbout::LabelQQClick() { OsShell().ShellOpen(0, ProductMessengerChat, SW_SHOW); }

void TFmAbout::BtnCheckForUpdatesClick()
{
    OsShell().ShellOpen(reinterpret_cast<std::uintptr_t>(Handle()), ProductDownloadPage, SW_SHOWMAXIMIZED);
}

LRESULT TFmAbout::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SHOWWINDOW:
        if (wParam)
            FormShow();
        break;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == Handle()) {
            POINT p{};
            GetCursorPos(&p);
            ScreenToClient(Handle(), &p);
            if (IsLink(ControlAt(p))) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
        }
        break;
    default:
        break;
    }
    return TDialogForm::WndProc(msg, wParam, lParam);
}

void TFmAbout::ApplyLanguageTexts(TLanguageRun& run)
{
    run.Section(u"AboutWindow");
    SetCaption(run.Text(u"AboutWindow/Title/About", u"About"));
    LabelAppName->SetCaption(ProgramName);
    LabelVersion->SetText(run.Text(u"AboutWindow/Label/Version", u"Version:"));
    LabelHomePage->SetText(run.Text(u"AboutWindow/Label/HomePage", u"Home Page:"));
    LabelEmail->SetText(run.Text(u"AboutWindow/Label/Email", u"E-Mail:"));
    BtnOk->SetText(run.Text(u"AboutWindow/Button/Ok", u"Ok"));
    BtnCheckForUpdates->SetText(run.Text(u"AboutWindow/Button/CheckForUpdates", u"Check for Updates..."));
}
