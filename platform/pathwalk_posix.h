#pragma once

#include <string>

namespace platform
{

// Opens `path` one part at a time, so no link planted in a folder along the way is followed
// blindly: a link is followed only when root or the running user owns it; one that anybody else
// owns fails with ELOOP, as do more than 40 links. The last part is opened with `flags`
// (O_NOFOLLOW and O_CLOEXEC added); a link there is followed under the same rule only when
// `followLastLink`, else it fails with ELOOP. The descriptor, or -1 with errno.
int openPathWithTrustedLinks(const std::string &path, int flags, bool followLastLink);

} // namespace platform
