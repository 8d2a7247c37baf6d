#include "shell/start_window_texts.h"

namespace shell {

namespace {

std::string indented(int blanks, const char* text) { return std::string(static_cast<std::size_t>(blanks), ' ') + text; }

std::string joinLines(std::initializer_list<std::string> lines) {
    std::string text;
    bool first = true;
    for (const std::string& line : lines) {
        if (!first) text += "\r\n";
        text += line;
        first = false;
    }
    return text;
}

}  // namespace

std::string startWindowDescription() {
    return joinLines({
        "此工具能够将软件生成为nLite 和RVM Integrator _用的软件整合包 可以大大减少使用者制作整合包的时间.节省大量时间和精力。",
        "",
        indented(4, "感谢所有试用 Tolvane 并反馈问题的朋友。"),
        indented(40, "本软件仅供学习交流之用"),
        "",
        "",
        "",
        indented(13, "此版本为最后一版本。不再更新。"),
        indented(23, "问题与建议：请发往 Tolvane 项目的问题反馈页"),
    });
}

std::string aboutText() {
    return joinLines({
        "意见反馈:",
        "讨论组：Tolvane 项目讨论区",
        "电子邮件：feedback@tolvane.example.org",
        "教程和更多信息请访问 Tolvane 的网络日志：",
        "https://tolvane.example.org/blog",
    });
}

}  // namespace shell
