#include "io/ErrorText.h"

#include <cerrno>
#include <cstring>

namespace qelvar {

namespace {

struct ErrorName {
    int error;
    const char* text;
};

constexpr ErrorName kErrorTexts[] = {
    {EACCES, "没有权限写入该文件或文件夹"},
    {EPERM, "不允许执行该操作"},
    {ENOSPC, "磁盘空间不足"},
    {EDQUOT, "超出磁盘配额"},
    {EROFS, "文件系统是只读的"},
    {ENOENT, "文件夹不存在"},
    {ENOTDIR, "路径中有一项不是文件夹"},
    {ENAMETOOLONG, "文件名太长"},
    {EISDIR, "这是一个文件夹"},
    {EEXIST, "文件已存在"},
    {EIO, "读写设备时出错"},
    {EFBIG, "文件太大"},
    {ELOOP, "符号链接的层数太多"},
    {EINVAL, "无效的参数"},
};

}  // namespace

std::string ChineseErrorText(int error) {
    for (const ErrorName& e : kErrorTexts) {
        if (e.error == error) return e.text;
    }
    return std::strerror(error);
}

std::string ChineseErrorText(const AtomicWriteResult& result) {
    switch (result.rule) {
        case WriteRule::OtherUsersFile:
            return "拒绝替换：该文件属于其他用户，且位于所有人可写的共享文件夹（粘滞位）中";
        case WriteRule::OtherUsersLink:
            return "拒绝跟随：该符号链接属于其他用户，且位于所有人可写的共享文件夹（粘滞位）中";
        case WriteRule::None:
            break;
    }
    return ChineseErrorText(result.error);
}

}  // namespace qelvar
