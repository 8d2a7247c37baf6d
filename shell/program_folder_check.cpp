#include "shell/program_folder_check.h"

#include <exception>

#include "platform/file_system.h"

namespace shell {

void probeFolderWritable(const std::string& folder) {
    const std::string probe = platform::joinPath(folder, "~tolvane-write-check.tmp");
    platform::writeFileAtomic(probe, "Tolvane checks that it can write here.\r\n");
    platform::deleteFile(probe);
}

std::optional<std::string> prepareProgramFolder(const std::string& folder,
                                                const std::function<void(const std::string&)>& probe) {
    try {
        platform::setCurrentDirectory(folder);
        probe(folder);
    } catch (const std::exception& e) {
        return programFolderNotWritableMessage(folder, e.what());
    }
    return std::nullopt;
}

std::string programFolderNotWritableMessage(const std::string& folder, const std::string& reason) {
    return "Tolvane 无法在自己的程序文件夹中写入文件：\r\n" + folder +
           "\r\n生成整合包时，工作文件都写在这个文件夹里，所以生成会失败。"
           "请把整个 Tolvane 文件夹移到可以写入的位置（例如“文档”或桌面），再从那里启动 Tolvane.exe。\r\n\r\n"
           "Tolvane cannot write in its program folder:\r\n" +
           folder +
           "\r\nIt writes its work files there while it makes a package, so every build would fail. "
           "Move the whole Tolvane folder to a place you can write to (your Documents folder or the desktop, "
           "for example) and start Tolvane.exe from there.\r\n\r\n(" +
           reason + ")";
}

}  // namespace shell
