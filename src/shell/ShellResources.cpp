#include "shell/ShellResources.h"

#include "platform/text/Cp932.h"
#include "platform/window/MenuStrip.h"

namespace {

using Kind = platform::DialogControl::Kind;

std::string Sjis(std::u8string_view utf8) { return platform::utf8ToCp932(utf8).value_or(""); }

}  // namespace

std::string ShellTitle() { return Sjis(u8"月蛾の冠 Ver 1.0"); }

void BuildShellMenu(platform::MenuStrip& menu) {
    menu.addItem(IDM_SAVE, Sjis(u8"セーブ"));
    menu.addItem(IDM_LOAD, Sjis(u8"ロード"));
    menu.addItem(IDM_CONFIG, Sjis(u8"設定"));
    menu.addItem(IDM_HELP, Sjis(u8"ヘルプ"));
}

platform::DialogTemplate AboutDialog() {
    return {IDD_ABOUT,
            Sjis(u8"バージョン情報"),
            213,
            98,
            true,
            {{IDOK, Kind::DefaultButton, 55, 75, 103, 16, "OK"},
             {IDC_APP_NAME, Kind::CentredStatic, 14, 15, 185, 8, ""},
             {IDC_VERSION, Kind::CentredStatic, 14, 25, 185, 8, ""},
             {IDC_NOTICE, Kind::CentredStatic, 14, 53, 183, 8, ""}}};
}

platform::DialogTemplate SoundWarningDialog() {
    return {IDD_SOUND_WARNING,
            "Warning",
            219,
            98,
            false,
            {{IDOK, Kind::DefaultButton, 65, 72, 81, 14, "OK"},
             {-1, Kind::Static, 13, 15, 193, 26,
              Sjis(u8"サウンドデバイスの検出に失敗しました。\n"
                   u8"サウンド機能を利用せずにゲームを起動します。\n"
                   u8"これにより、ゲームの一部の機能を利用出来ません。")},
             {IDC_NO_WARNING, Kind::CheckBox, 13, 48, 152, 10,
              Sjis(u8"次回からこのメッセージを表示しない")}}};
}

platform::DialogTemplate QuitDialog() {
    return {IDD_QUIT,
            Sjis(u8"確認"),
            207,
            66,
            true,
            {{IDC_YES, Kind::DefaultButton, 37, 45, 50, 14, Sjis(u8"はい(&Y)")},
             {IDC_NO, Kind::Button, 122, 45, 50, 14, Sjis(u8"いいえ(&N)")},
             {IDC_QUIT_TITLE, Kind::CentredStatic, 14, 11, 179, 8, ""},
             {-1, Kind::CentredStatic, 14, 21, 179, 10, Sjis(u8"終了しますか？")}}};
}
