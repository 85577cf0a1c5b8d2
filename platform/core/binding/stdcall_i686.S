// uintptr_t lyb_stdcall_words(void* function, const uintptr_t* words,
//                             uint32_t count, int32_t* stack_change)
//
// Pushes the words right to left, calls the function as stdcall (it removes
// its own arguments) and stores how far the stack pointer moved across the
// call: 0 when the function took exactly `count` words, 4 x (taken - count)
// otherwise. The stack pointer is restored from a saved copy whatever the
// function did, so an unbalanced call cannot corrupt the caller's frame.
        .text
        .globl  _lyb_stdcall_words
        .def    _lyb_stdcall_words; .scl 2; .type 32; .endef
_lyb_stdcall_words:
        pushl   %ebp
        movl    %esp, %ebp
        pushl   %esi
        pushl   %edi
        pushl   %ebx
        movl    12(%ebp), %esi          // words
        movl    16(%ebp), %ecx          // count
        movl    %esp, %edi              // the stack pointer before the words
1:      testl   %ecx, %ecx
        jz      2f
        pushl   -4(%esi,%ecx,4)         // last word first
        decl    %ecx
        jmp     1b
2:      call    *8(%ebp)
        movl    %esp, %ecx
        subl    %edi, %ecx              // after - before
        movl    20(%ebp), %edx
        movl    %ecx, (%edx)
        movl    %edi, %esp
        popl    %ebx
        popl    %edi
        popl    %esi
        popl    %ebp
        ret
