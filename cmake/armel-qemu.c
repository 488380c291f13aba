/* Starts qemu-arm (the rest of the command line) with waitid(P_PIDFD, ...) refused as the
 * kernels before 5.4 refuse it, for it and everything it starts.
 *
 * Why: Qt's QProcess asks the kernel whether it supports process file descriptors by calling
 * waitid(P_PIDFD, ...), and qemu-user 7.2 passes that question to the host kernel, which says
 * yes; but qemu 7.2 cannot fork with CLONE_PIDFD. QProcess then believes a child started with
 * pid -1 that never ends, and its kill() becomes kill(-1, SIGKILL): every process of the user.
 * Refused here, Qt takes its classic fork path, which qemu runs well. The filter is inherited
 * by every process below, so the programs a test starts are covered too. */
#include <errno.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <stddef.h>
#include <stdio.h>
#include <string.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

#define P_PIDFD_ 3

int main(int argc, char** argv) {
    struct sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(struct seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AUDIT_ARCH_X86_64, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(struct seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_waitid, 0, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(struct seccomp_data, args[0])),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, P_PIDFD_, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EINVAL),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    struct sock_fprog program = {sizeof filter / sizeof filter[0], filter};
    if (argc < 2) {
        fprintf(stderr, "usage: %s QEMU [ARGS...]\n", argv[0]);
        return 2;
    }
    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
        prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0) {
        fprintf(stderr, "%s: no seccomp filter: %s\n", argv[0], strerror(errno));
        return 2;
    }
    execvp(argv[1], argv + 1);
    fprintf(stderr, "%s: %s: %s\n", argv[0], argv[1], strerror(errno));
    return 127;
}
