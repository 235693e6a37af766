/* uint32_t CallExport(const void* function, const uint32_t* words, uint32_t count)
   Pushes words[0] first (so it is the last argument), calls the function and
   resets the stack pointer from the frame whatever the callee popped.
   Only the low 16 bits of count are used. */
    .text
    .globl _CallExport
    .def _CallExport; .scl 2; .type 32; .endef
_CallExport:
    pushl %ebp
    movl %esp, %ebp
    pushl %esi
    pushl %ebx
    movl 12(%ebp), %esi
    movzwl 16(%ebp), %ebx
    xorl %ecx, %ecx
1:  cmpl %ebx, %ecx
    jae 2f
    pushl (%esi,%ecx,4)
    incl %ecx
    jmp 1b
2:  call *8(%ebp)
    leal -8(%ebp), %esp
    popl %ebx
    popl %esi
    popl %ebp
    ret
