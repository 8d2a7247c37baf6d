#include "shell/message_keys.h"

namespace shell {

namespace {

// In the order of MessageKey.
const KeyedText kMessageTexts[kMessageKeyCount] = {
    {"inf no source folder", "请在\"软件路径\"选项选择好您要整合的软件路径,在点击添加之后再点击整合包生成."},
    {"inf no name", "请输入软件LOGO信息。"},
    {"inf no version", "请输入软件名称及版本信息。"},
    {"inf package filter", "整合包 (*.cab)|*.cab|"},
    {"registry file filter", "注册表文件 (*.reg)|*.reg|所有文件 (*.*)|*.*|"},
    {"no setup dir code", "请选择高级代码地址"},
    {"drive not ready", "驱动器 %1 未就绪，无法读取（光驱或读卡器里可能没有盘）。请放入盘后再选，或选择别的驱动器。"},
    {"folder not opened", "无法打开文件夹 %1：%2"},
    {"inner cabinet missing", "CAB整合包文件提取失败，请重新选择，请查看文件是否被占用。"},
    {"inf package made", "恭喜！整合包生成成功！"},
    {"inf package missing", "整合包生成失败！请重新检查完毕之后再生成。"},
    {"t13 no name", "请输入软件名称信息。"},
    {"t13 no version", "请输入软件版本号。"},
    {"t13 no items", "请加入您要生成的程序"},
    {"t13 package filter", "整合包 (*.7z)|*.7z|"},
    {"folder prompt", "请选择文件夹"},
    {"t13 package made", "*********************T13整合包生成成功****************"},
    {"t13 package made title", "生成成功"},
    {"t13 package missing", "******Sorry。T13整合包生成失败，请您检查程序好再重新制作******"},
    {"t13 package missing title", "整合包生成换败了"},
    {"choose files title", "选择文件"},
    {"choose files filter", "所有类型的文件(*.*)|*.*"},
    {"dlg file info error", "GetDlgFileInfo函数执行错误！"},
    {"dlg file info error title", "自定义函数错误"},
    {"program filter", "可执行文件 (*.exe)|*.exe|所有文件 (*.*)|*.*|"},
    {"inf made then failed", "INF 整合包已生成在 %1，但随后“%2”这一步失败了。%3"},
    {"inf step failed", "INF 整合包没有生成：“%1”这一步失败了。%2"},
    {"inf step failed old kept", "INF 整合包没有生成：“%1”这一步失败了。%2 %3 处原有的整合包没有改动。"},
    {"t13 made then failed", "T13 整合包已生成在 %1，但随后“%2”这一步失败了。%3"},
    {"t13 step failed", "T13 整合包没有生成：“%1”这一步失败了。%2"},
    {"t13 step failed old kept", "T13 整合包没有生成：“%1”这一步失败了。%2 %3 处原有的整合包没有改动。"},
    {"t13 stopped", "T13 整合包没有生成。%1"},
    {"step package folder", "把整合包写入文件夹 %1"},
    {"package folder missing", "该文件夹不存在，请选择一个存在的文件夹。"},
    {"step collect files", "收集 %1 中的文件"},
    {"step check files", "检查收集到的文件"},
    {"step check package path", "检查整合包路径"},
    {"step import registry", "导入注册表文件 %1"},
    {"step check texts", "检查整合包的名称和文字"},
    {"step create staging", "在 %1 中创建暂存文件夹"},
    {"step enter program folder", "把程序文件夹 %1 设为当前文件夹"},
    {"step write", "写入 %1"},
    {"step copy collected", "把收集到的文件复制到 %1"},
    {"step copy extra", "把附加文件复制到 %1"},
    {"step remove unfinished", "删除上次生成时留在 %1 旁边的未完成整合包"},
    {"step write directives", "写入 makecab 指令文件"},
    {"step makecab", "用 makecab 打包"},
    {"step delete extra", "从 %1 删除附加文件"},
    {"step check items", "检查要打包的程序"},
    {"step remove old work folder", "删除旧的工作文件夹 %1"},
    {"step create work folder", "创建工作文件夹 %1"},
    {"step delete old", "删除旧的 %1"},
    {"step rewrite utf8", "把 %1 改写为 UTF-8"},
    {"step replace package", "用新的整合包替换 %1"},
    {"step delete", "删除 %1"},
    {"step run", "运行 %1"},
    {"step pack items", "用 7z 把要打包的程序打包进 %1"},
    {"step join installer", "用 copy /b 合成安装程序 %1"},
    {"step remove work folder", "删除工作文件夹 %1"},
    {"step remove stale work files", "删除被中止的生成留在 %1 中的工作文件"},
    {"step write build marker", "在 %2 中写入生成标记 %1"},
    {"7z no archive", "7z 没有生成 %1。请检查 7z 能否在 %2 的命令提示符中运行，以及每个要打包的程序能否读取。"},
    {"copy no installer", "copy /b 没能用 %1、config.txt 和 temp.7z 合成它。请检查 %2 能否读取，以及该文件夹是否还有空间。"},
    {"inner cabinet not made", "软件文件的 CAB 包 %1 没有生成。makecab 的说明：%2请改正后再生成。"},
    {"step pack with 7-zip", "用 7-Zip 打包（%1 以状态 %2 结束）"},
    {"7z left items out", "7-Zip 没能打包全部要打包的程序。请检查每个要打包的程序都能读取，且没有被别的程序占用（关闭打开着它的程序），然后重新生成。"},
    {"too many files", "软件路径中共有 %1 个文件，而一个 CAB 包最多只能容纳 %2 个。请把软件拆成几个文件更少的整合包。"},
    {"too many bytes", "软件路径中的文件共有 %1 字节，而一个 CAB 包最多只能容纳 %2 字节。请把软件拆成几个更小的整合包。"},
    {"package path is input", "整合包路径 %1 是%2，生成的整合包会把它覆盖。请为整合包另选路径。"},
    {"input source file", "软件路径中的一个文件"},
    {"input extra file", "附加文件之一"},
    {"input registry file", "注册表文件"},
    {"one line field", "%1“%2”中含有%3。它要写在整合包文件的一行里，换行符或制表符会破坏这些文件。请删除它后再生成。"},
    {"field version", "版本号"},
    {"field web site", "网址"},
    {"field extraction path", "解压路径"},
    {"field run command", "运行命令"},
    {"field item to pack", "要打包的程序"},
    {"line break", "换行符"},
    {"tab", "制表符"},
    {"control character", "控制字符 %1"},
    {"package path problem", "整合包无法写到 %1：%2。Windows 文件名不能含有它。请另选名称或文件夹后再生成。"},
    {"path holds quote", "路径中含有双引号，而在写入整合包的命令行里，双引号会结束带引号的路径"},
    {"path holds star", "路径中含有“*”，CAB 制作程序会把 CAB 名称中的它当作 CAB 的编号，整合包就会以别的名字写入"},
    {"name refused", "软件名称“%1”不能用来命名整合包的文件和节：%2。名称中不能含有 \\ / : * ? \" < > | [ ] % ; , = 或控制字符，也不能以空格开头，或以句点或空格结尾。请修改名称后再生成。"},
    {"name holds control", "其中含有控制字符 %1"},
    {"name holds character", "其中含有字符 %1"},
    {"name begins blank", "它以空格开头"},
    {"name ends dot", "它以句点结尾"},
    {"name ends blank", "它以空格结尾"},
    {"name is device", "Windows 把它留作设备名"},
    {"name holds blank", "软件名称“%1”中含有空格。安装程序以它命名为 %1.exe，Windows 安装程序从 SVCPACK.INF 的一行运行它，会在空格处把它断开。请使用不含空格的名称（例如 %2）后再生成。"},
    {"extra file bad name", "附加文件 %1 的名字含有 Windows 文件名不能含有的字符 %2。请给文件改名，重新添加后再生成。"},
    {"extra file own name", "附加文件 %1 在整合包中的名字会是 %2，与生成时自己写入的%3 %4 同名。请给附加文件改名，重新添加后再生成。"},
    {"extra files same name", "附加文件 %1 和 %2 在整合包中都会叫作 %3，而整合包里只能有一个这个名字的文件。请给其中一个改名，重新添加后再生成。"},
    {"own inf", "整合包的 INF 文件"},
    {"own entries", "整合包的条目文件"},
    {"own inner cabinet", "整合包内的 CAB 包"},
    {"own makecab inf", "makecab 写在软件文件旁边的 INF 文件"},
    {"own makecab report", "makecab 写在软件文件旁边的报告"},
    {"own directive file", "生成时使用的指令文件"},
    {"own batch file", "生成时使用的批处理文件"},
    {"item holds quote", "要打包的程序 %1 中含有双引号，它会在批处理文件中结束带引号的路径。请给它改名（Windows 文件名不能含有双引号）后重新添加。"},
    {"item is work file", "要打包的程序 %1 是生成器的工作文件 %2，生成器会在程序文件夹中写入并删除它。请把该文件移到别的文件夹，从那里添加后再生成。"},
    {"item folder missing", "要打包的程序 %2 的文件夹 %1 不存在。请删除该项或把文件夹放回原处，然后再生成。"},
    {"package in item folder", "整合包路径 %1 位于要打包的程序 %3 所打包的文件夹 %2 中，整合包会把自己也打包进去。请为整合包另选路径。"},
    {"item missing", "要打包的程序 %1 不存在。请删除该项或把文件放回原处，然后再生成。"},
    {"package is item", "整合包路径 %1 就是要打包的程序本身，生成的整合包会把它覆盖。请为整合包另选路径。"},
    {"sfx module missing", "自解压模块 %1 不在程序文件夹 %2 中。请把修改版 7-Zip SFX 模块（Oleg Scherbakov 的 7zSD.sfx，改名为 7zs.sfx；见 README）放到那里，然后再生成。"},
    {"7z missing windows", "找不到 7-Zip 命令行程序 7z：程序文件夹 %1 中没有，搜索路径（PATH）中没有，注册表中也没有记录已安装的 7-Zip。请安装 7-Zip（https://www.7-zip.org/），或把 7z.exe 和 7z.dll 放进 %1，然后再生成。"},
    {"7z missing", "找不到 7-Zip 命令行程序 7z：程序文件夹 %1 和搜索路径（PATH）中都没有。请安装它（Debian 和 Ubuntu：软件包 p7zip-full），或把 7z 程序放进 %1，然后再生成。"},
    {"converter not found", "找不到注册表转换程序 %1：程序文件夹 %2、%3 的旁边、它的 tools 文件夹和搜索路径中都没有。请把 %1 放进程序文件夹，或从框中删除注册表文件，然后再生成。"},
    {"registry file is folder", "注册表文件 %1 是一个文件夹，不是文件。请选择用 regedit 导出的 .reg 文件，或清空注册表框，然后再生成。"},
    {"converter no output", "注册表转换程序 %1 结束时没有写出 %2，所以注册表文件“%3”没有转换。请检查该文件是否存在、是否是用 regedit 导出的注册表文件；手动运行 %4 -w -t \"%3\" test.inf 可以看到原因。"},
    {"own tools missing", "本系统的工具按代码页 %1 和 %2 读取工作文件，容纳不了本次生成用到的名称，所以需要 Tolvane 自带的工具（tolvane-cmd 及其旁边的其他工具），但在程序旁边和它的 tools 文件夹中都找不到 %3。请把 Tolvane 附带的 tools 文件夹放在程序旁边。"},
    {"unexpected error", "命令因意外错误而中止：%1"},
    {"unexpected error advice", "此后的操作都没有执行。请查看这条消息，然后再试一次。"},
    {"unknown error", "一个未知类型的错误"},
    {"scan bad folder name", "文件夹 %1 的名字含有 Windows 文件名不能含有的字符 %2。请给它改名后再生成。"},
    {"scan bad file name", "文件 %1 的名字含有 Windows 文件名不能含有的字符 %2。请给它改名后再生成。"},
    {"package text not written", "无法写入“%1”：%2"},
    {"config not utf8", "自解压配置文件 %1 无法改写为 UTF-8：%2"},
    {"ready caption", "准备运行"},
    {"setup dir caption", "高级地址代码说明"},
    {"default code caption", "(默认)16422代码,系统路径:Program Files"},
    {"registry imported", "结束运行"},
    {"scan looking", "查找 %1"},
    {"scan folder missing", "起始目录不存在：%1"},
    {"scan done", "查找完毕，共找到 %1 个条目其中有%2个文件"},
    {"scan found", "已找到 %1 个：%2"},
    {"no shortcut id", "从 1 到 10000 的快捷方式编号都已用完：请先删除一个快捷方式，再添加新的。"},
    {"cannot read file", "无法读取文件“%1”：%2。"},
    {"cannot write file", "无法写入文件“%1”：%2。"},
    {"cannot create folder", "无法创建文件夹“%1”：%2。"},
    {"cannot copy file", "无法复制文件“%1”：%2。"},
    {"cannot copy file to", "无法把文件复制到“%1”：%2。"},
    {"cannot delete file", "无法删除文件“%1”：%2。"},
    {"cannot remove folder", "无法删除文件夹“%1”：%2。"},
    {"cannot rename file", "无法给文件“%1”改名：%2。"},
    {"cannot list folder", "无法列出文件夹“%1”的内容：%2。"},
    {"cannot read entry", "无法读取条目“%1”：%2。"},
    {"cannot read current folder", "无法读取当前文件夹“%1”：%2。"},
    {"cannot change folder", "无法进入文件夹“%1”：%2。"},
    {"cannot create temporary folder", "无法在“%1”中创建临时文件夹：%2。"},
    {"text not in code page", "文本“%1”含有字符 %2，代码页 %3 无法表示。请改用不含这个字符的名称或文本。"},
};

// In the order of CaptionKey.
const KeyedText kCaptionTexts[kCaptionKeyCount] = {
    {"source file info", "源文件信息"},
    {"copy code", "复制代码"},
    {"code options", "代码选项"},
    {"setup dir code", "高级地址代码"},
    {"integration mode", "整合方式"},
    {"patch mode", "补丁方式=100"},
    {"whole file mode", "原文件方式=1"},
    {"extract path", "解压路径:"},
    {"store only", "不压缩"},
    {"high compression", "高压缩"},
    {"files", "文件"},
    {"folder", "目录"},
    {"shortcut list", "快捷方式"},
};

}  // namespace

const KeyedText& messageKeyText(MessageKey key) { return kMessageTexts[static_cast<int>(key)]; }

const KeyedText& captionKeyText(CaptionKey key) { return kCaptionTexts[static_cast<int>(key)]; }

std::string fillText(const std::string& text, const std::vector<std::string>& values) {
    std::string filled;
    filled.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size()) {
            const char next = text[i + 1];
            if (next == '%') {
                filled += '%';
                ++i;
                continue;
            }
            if (next >= '1' && next <= '9') {
                const std::size_t index = static_cast<std::size_t>(next - '1');
                if (index < values.size()) filled += values[index];
                ++i;
                continue;
            }
        }
        filled += text[i];
    }
    return filled;
}

std::optional<std::string> filledValue(const std::string& text, const std::string& line) {
    const std::size_t place = text.find("%1");
    if (place == std::string::npos) return std::nullopt;
    const std::string before = fillText(text.substr(0, place), {});
    const std::string after = fillText(text.substr(place + 2), {});
    if (line.size() < before.size() + after.size() || line.compare(0, before.size(), before) != 0 ||
        line.compare(line.size() - after.size(), after.size(), after) != 0)
        return std::nullopt;
    return line.substr(before.size(), line.size() - before.size() - after.size());
}

}  // namespace shell
