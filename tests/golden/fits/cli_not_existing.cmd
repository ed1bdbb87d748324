quillmark-fits
10
t
7
