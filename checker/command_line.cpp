#include "checker/command_line.h"

namespace {

bool IsOption(const WString& arg) {
    return arg.size() > 1 && arg[0] == '-';
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
        } else if (arg == WSTR("--exe-dir") || arg.rfind(WSTR("--exe-dir="), 0) == 0) {
            WString dir;
            if (arg == WSTR("--exe-dir")) {
                if (i + 1 >= args.size()) {
                    error = WSTR("--exe-dir 后面缺少文件夹");
                    return false;
                }
                dir = args[++i];
            } else {
                dir = arg.substr(10);
            }
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
        } else {
            error = WSTR("未知的选项：") + arg;
            return false;
        }
    }
    if (line.bHelp) return true;
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

WString UsageText() {
    return WSTR(
        "用法：bundor-check [--json] [--exe-dir 文件夹] 目录文件\n"
        "\n"
        "按启动器的读法检查 Bundor 的目录文件（如 Bundor.INI）：列出启动器将显示和执行的内容，\n"
        "以及文件中的问题和所在的行。\n"
        "\n"
        "  --json             输出一个 JSON 文档，供其他程序读取\n"
        "  --exe-dir 文件夹   %CurrDir% 所代表的文件夹，即 Bundor.exe 所在的文件夹\n"
        "                     （默认：目录文件所在的文件夹）\n"
        "  --help             显示本说明\n"
        "\n"
        "退出状态：0 没有问题；1 只有警告；2 有错误；3 无法读取目录文件；64 命令行用法错误\n");
}
