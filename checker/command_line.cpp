#include "checker/command_line.h"

namespace {

bool IsOption(const WString& arg) {
    return arg.size() > 1 && arg[0] == '-';
}

bool IsLetter(WChar c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDriveRoot(const WString& folder) {
    return folder.size() == 3 && IsLetter(folder[0]) && folder[1] == ':' &&
           (folder[2] == '\\' || folder[2] == '/');
}

// An option's value, from "--name value" or "--name=value"; false with a message when there
// is none.
bool OptionValue(const std::vector<WString>& args, size_t& i, WStringView name, WStringView what,
                 WString& value, WString& error) {
    const WString& arg = args[i];
    if (arg.size() == name.size()) {
        if (i + 1 >= args.size()) {
            error = WString(name) + WSTR(" 后面缺少") + WString(what);
            return false;
        }
        value = args[++i];
    } else {
        value = arg.substr(name.size() + 1);
    }
    return true;
}

bool IsOptionNamed(const WString& arg, WStringView name) {
    return arg == name || (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 &&
                           arg[name.size()] == '=');
}

}  // namespace

bool ParseCommandLine(const std::vector<WString>& args, CommandLine& line, WString& error) {
    line = CommandLine();
    bool optionsEnded = false;
    std::vector<WString> operands;
    for (size_t i = 0; i < args.size(); ++i) {
        const WString& arg = args[i];
        if (optionsEnded || !IsOption(arg)) {
            if (!optionsEnded && arg == WSTR("/?")) {
                line.bHelp = true;
                continue;
            }
            operands.push_back(arg);
        } else if (arg == WSTR("--")) {
            optionsEnded = true;
        } else if (arg == WSTR("--help") || arg == WSTR("-h")) {
            line.bHelp = true;
        } else if (arg == WSTR("--json")) {
            line.bJson = true;
        } else if (arg == WSTR("--write-hashes")) {
            line.bWriteHashes = true;
        } else if (IsOptionNamed(arg, WSTR("--exe-dir"))) {
            WString dir;
            if (!OptionValue(args, i, WSTR("--exe-dir"), WSTR("文件夹"), dir, error)) return false;
            if (dir.empty()) {
                error = WSTR("--exe-dir 的文件夹为空");
                return false;
            }
            if (line.bHasExeDir) {
                error = WSTR("--exe-dir 只能给一次");
                return false;
            }
            line.bHasExeDir = true;
            line.strExeDir = dir;
        } else if (IsOptionNamed(arg, WSTR("--as-drive"))) {
            WString drive;
            if (!OptionValue(args, i, WSTR("--as-drive"), WSTR("盘符"), drive, error)) return false;
            if (drive.size() == 2) drive += WSTR('\\');
            if (!IsDriveRoot(drive)) {
                error = WSTR("--as-drive 需要一个盘符，如 E:：") + drive;
                return false;
            }
            if (!line.strAsDrive.empty()) {
                error = WSTR("--as-drive 只能给一次");
                return false;
            }
            if (drive[0] >= 'a') drive[0] = static_cast<WChar>(drive[0] - ('a' - 'A'));
            drive[2] = WSTR('\\');
            line.strAsDrive = drive;
        } else {
            error = WSTR("未知的选项：") + arg;
            return false;
        }
    }
    if (line.bHelp) return true;
    if (line.bJson && line.bWriteHashes) {
        error = WSTR("--write-hashes 不能与 --json 同用");
        return false;
    }
    if (operands.empty()) {
        error = WSTR("缺少目录文件");
        return false;
    }
    if (operands.size() > 1) {
        error = WSTR("只能检查一个目录文件，多余的参数：") + operands[1];
        return false;
    }
    line.strCatalogue = operands.front();
    return true;
}

WString LauncherFolder(const CommandLine& line, const WString& exeFolder) {
    if (!line.strAsDrive.empty()) return line.strAsDrive;
    if (IsDriveRoot(exeFolder)) return exeFolder;
    return kDefaultLauncherFolder;
}

WString UsageText() {
    return WSTR(
        "用法：bundor-check [--json | --write-hashes] [--exe-dir 文件夹] [--as-drive 盘符] "
        "目录文件\n"
        "\n"
        "按启动器的读法检查 Bundor 的目录文件（如 Bundor.INI）：列出启动器将显示和执行的内容，\n"
        "以及文件中的问题和所在的行。\n"
        "\n"
        "  --json             输出一个 JSON 文档，供其他程序读取\n"
        "  --write-hashes     不检查，而是计算各命令在本介质上的文件的 SHA-256，写入目录文件的\n"
        "                     [Hashes] 节（替换已有的节，或添加在末尾；编码、换行和其他内容不变）\n"
        "  --exe-dir 文件夹   被检查的介质文件夹，即 Bundor.exe 所在的文件夹\n"
        "                     （默认：目录文件所在的文件夹）\n"
        "  --as-drive 盘符    启动器看到的程序文件夹，即光盘的根目录，如 E:；%CurrDir% 代表它，\n"
        "                     260 个字符的路径上限也按它计算（默认：程序文件夹本身是盘符根目录时\n"
        "                     就用它，否则用 E:）\n"
        "  --help             显示本说明\n"
        "\n"
        "退出状态：0 没有问题；1 只有警告；2 有错误；3 无法读取目录文件；64 命令行用法错误\n"
        "--write-hashes 的退出状态：0 已写入；1 已写入，但有命令的文件没有列出；2 没有写入；\n"
        "3 无法读取目录文件\n");
}
