/* The floor for analysing a file: open it once, read the 10-byte tag header, the first
 * block after the tag, the last 128 bytes and the last block, close it. Files are named on
 * standard input, one per line. */
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

enum { kBlock = 3458 };

int main(void) {
    static unsigned char header[10], block[kBlock], tail[128];
    char path[4096];
    unsigned long checksum = 0;
    while (fgets(path, sizeof path, stdin)) {
        path[strcspn(path, "\n")] = '\0';
        const int fd = open(path, O_RDONLY);
        if (fd < 0) {
            continue;
        }
        struct stat info;
        fstat(fd, &info);
        long tagSize = 0;
        if (pread(fd, header, sizeof header, 0) == (ssize_t)sizeof header &&
            memcmp(header, "ID3", 3) == 0) {
            tagSize = ((header[6] & 0x7F) << 21 | (header[7] & 0x7F) << 14 |
                       (header[8] & 0x7F) << 7 | (header[9] & 0x7F)) +
                      10;
        }
        checksum += (unsigned long)pread(fd, block, kBlock, tagSize);
        checksum += (unsigned long)pread(fd, tail, sizeof tail,
                                         info.st_size > 128 ? info.st_size - 128 : 0);
        checksum += (unsigned long)pread(fd, block, kBlock,
                                         info.st_size > kBlock ? info.st_size - kBlock : 0);
        checksum += block[0] + tail[0];
        close(fd);
    }
    printf("%lu\n", checksum);
    return 0;
}
