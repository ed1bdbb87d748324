quillmark-fits
50
K
7
